/* resource.h - identifiers of the uninstaller's resources, shared by the
 * resource script and the program. */
#ifndef LZ_RESOURCE_H
#define LZ_RESOURCE_H

#define IDR_MAINFRAME 128
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_UNINSTALL_DIALOG 102
#define IDC_DELETE_STOCKBOOK 1001
#define IDC_INSTALL_DIR 1003

/* system-menu command of the About item: below 0xF000, low four bits clear */
#define IDM_ABOUTBOX 0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* the string the framework takes the application title from */
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 57344
#endif

#endif
