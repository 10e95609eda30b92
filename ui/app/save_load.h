// Save and Load, reached by F3 and F4 and the "Guardar" and "Cargar" buttons.
#pragma once

// F3: only while a game runs and nothing is carried.
void save_command();
// F4: at any time.
void load_command();
