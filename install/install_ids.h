// Resource ids of the installer, shared by install.rc and the code.
#pragma once

// Dialogs
#define IDD_INSTALL 100

// Controls of the install dialog (Instalar is IDOK, Cancel is IDCANCEL)
#define IDC_FOLDER 102
#define IDC_BANNER 103
#define IDC_ALL_USERS 104
#define IDC_CURRENT_USER 105
#define IDC_STATIC (-1)

// Bitmaps
#define IDB_BANNER 106
