// Resource ids of the installer, shared by install.rc and the code.
#pragma once

// Dialogs
#define IDD_INSTALL 100

// Controls of the install dialog (Instalar is IDOK, Cancel is IDCANCEL)
#define IDC_FOLDER 102
#define IDC_BANNER 103
#define IDC_STATIC (-1)

// Bitmaps
#define IDB_BANNER 106

// Version resource
#define INSTALL_VERSION_BINARY 2, 0, 0, 0
#define INSTALL_VERSION_TEXT "2.0"
#define INSTALL_PRODUCT_NAME "Zenta Korvalo"
