// The window buttons' normal pictures, in the order of game/board.h's
// `buttons` (Inicio, Acerca de, x, _, ?, Guardar, Cargar); each pressed
// picture is the id before its normal one.
#pragma once

#include "ui/resources/resource.h"

inline constexpr int window_button_picture[] = {IDB_NEW_GAME, IDB_ABOUT, IDB_CLOSE, IDB_MINIMISE,
                                                IDB_HELP,     IDB_SAVE,  IDB_LOAD};
