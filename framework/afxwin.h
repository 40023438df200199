/* afxwin.h - the framework's window layer: command targets and message
 * maps, windows (CWnd), modal dialogs (CDialog) with dialog data exchange,
 * static controls, paint contexts, the application object (CWinApp), its
 * start-up and the application's message box. Written on Win32 calls only.
 *
 * Windows and applications belong to the one user-interface thread: the
 * handle maps and the current application are process-wide and unlocked. */
#ifndef LZFW_AFXWIN_H
#define LZFW_AFXWIN_H

#include "afx.h"

/* marks message handlers in class declarations */
#define afx_msg

#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000 /* string resource with the application title */
#endif
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
/* notification code of a command from a menu, an accelerator or a click */
#define CN_COMMAND 0
/* help context of a prompt given to AfxMessageBox is this plus its id */
#define HID_BASE_PROMPT 0x00030000UL

class CCmdTarget;
class CWnd;
class CDataExchange;
class CWinApp;

/* ---- message maps ------------------------------------------------------ */

/* Calls one handler of the object with the message's parameters and gives
 * the message's result. */
typedef LRESULT (*AFX_PMSGCALL)(CCmdTarget *pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;    /* window message; WM_COMMAND for command entries */
    UINT nCode;       /* command entries: the notification code */
    UINT nID;         /* command entries: first command id */
    UINT nLastID;     /* command entries: last command id */
    AFX_PMSGCALL pfn; /* null ends the map */
};

struct AFX_MSGMAP {
    const AFX_MSGMAP *(*pfnGetBaseMap)(); /* null for the root */
    const AFX_MSGMAP_ENTRY *lpEntries;
};

namespace lzfw {

template <class T> struct MemberOf;
template <class C, class R, class... A> struct MemberOf<R (C::*)(A...)> {
    typedef C Class;
};

/* The object that owns handler F, reached from the command target. */
template <auto F> typename MemberOf<decltype(F)>::Class *HandlerObject(CCmdTarget *pTarget)
{
    return static_cast<typename MemberOf<decltype(F)>::Class *>(pTarget);
}

/* void handler(): commands, WM_PAINT, WM_NCDESTROY */
template <auto F> LRESULT CallVoid(CCmdTarget *pTarget, WPARAM, LPARAM)
{
    (HandlerObject<F>(pTarget)->*F)();
    return 0;
}

/* void handler(UINT nID, LPARAM lParam): WM_SYSCOMMAND */
template <auto F> LRESULT CallSysCommand(CCmdTarget *pTarget, WPARAM wParam, LPARAM lParam)
{
    (HandlerObject<F>(pTarget)->*F)(static_cast<UINT>(wParam), lParam);
    return 0;
}

/* HCURSOR handler(): WM_QUERYDRAGICON, whose result is the handle */
template <auto F> LRESULT CallQueryDragIcon(CCmdTarget *pTarget, WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>((HandlerObject<F>(pTarget)->*F)());
}

} // namespace lzfw

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP *GetThisMessageMap();                                                                      \
    virtual const AFX_MSGMAP *GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP *theClass::GetMessageMap() const { return GetThisMessageMap(); }                                  \
    const AFX_MSGMAP *theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        typedef theClass ThisClass;                                                                                    \
        typedef baseClass TheBaseClass;                                                                                \
        static_cast<void>(sizeof(ThisClass));                                                                          \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, nullptr                                                                                            \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};                      \
    return &messageMap;                                                                                                \
    }

/* ON_COMMAND(id, Class::Handler): void Handler(), for a click, a menu item
 * or an accelerator with that command id. */
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), &lzfw::CallVoid<&memberFxn>},
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, 0, 0, &lzfw::CallSysCommand<&ThisClass::OnSysCommand>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, &lzfw::CallVoid<&ThisClass::OnPaint>},
#define ON_WM_QUERYDRAGICON() {WM_QUERYDRAGICON, 0, 0, 0, &lzfw::CallQueryDragIcon<&ThisClass::OnQueryDragIcon>},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, &lzfw::CallVoid<&ThisClass::OnNcDestroy>},

/* ---- command targets ------------------------------------------------------ */

class CCmdTarget {
public:
    CCmdTarget() {}
    virtual ~CCmdTarget();
    CCmdTarget(const CCmdTarget &) = delete;
    CCmdTarget &operator=(const CCmdTarget &) = delete;

    /* Runs the command entry for nID and notification code nCode; FALSE
     * when no entry of this object's maps handles it. */
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP *GetThisMessageMap();
    virtual const AFX_MSGMAP *GetMessageMap() const;

    /* The first entry for a window message, searching this class's map and
     * then its bases'; null when none. */
    const AFX_MSGMAP_ENTRY *FindMessageEntry(UINT nMessage) const;
};

/* ---- windows --------------------------------------------------------------- */

class CWnd : public CCmdTarget {
public:
    CWnd();
    /* Destroys a window still attached; leaves the main window unset when
     * it was this one. */
    virtual ~CWnd();

    HWND m_hWnd;

    /* The object attached to hWnd, or a temporary one that lives until the
     * window is gone (reclaimed by a later FromHandle) or the process ends.
     * Null only for a null handle. */
    static CWnd *FromHandle(HWND hWnd);
    /* The object attached to hWnd; null when none is. */
    static CWnd *FromHandlePermanent(HWND hWnd);
    /* Binds this object to hWnd (FALSE when hWnd is null, this object is
     * bound already or hWnd is bound to another object). */
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    /* Attaches and routes the window's messages through this object's
     * message maps; the window's own procedure stays the default. */
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();
    /* The owner for a pop-up over pParent, or over the main window when
     * there is no parent: a top-level window, for the main window the
     * pop-up last active over it. Null when there is none. */
    static HWND GetSafeOwner_(CWnd *pParent);

    HWND GetSafeHwnd() const { return m_hWnd; }
    DWORD GetStyle() const;
    CWnd *GetParent() const;
    CWnd *GetDlgItem(int nID) const;
    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString &rString) const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsIconic() const;
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    HMENU GetSystemMenu(BOOL bRevert) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    /* Centres the window over its owner (a child: within its parent), or
     * over pAlternateOwner; in the work area when that window is hidden
     * or minimised. The window is kept inside the work area. */
    void CenterWindow(CWnd *pAlternateOwner = NULL);
    virtual BOOL DestroyWindow();

    /* Runs DoDataExchange towards the controls (FALSE) or from them (TRUE);
     * FALSE when an exchange failed. */
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    /* Handles one message: the message maps first, then DefWindowProc. */
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual void DoDataExchange(CDataExchange *pDX);
    /* Finds a handler in the message maps; FALSE when none took the message. */
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *pResult);
    /* Routes WM_COMMAND to the command entries: menu items, accelerators and
     * clicks arrive with code CN_COMMAND, other notifications with their own. */
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    /* The window's procedure from before subclassing, or the system's default. */
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    /* Passes the message being handled to DefWindowProc. */
    LRESULT Default();

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    /* Last message to the window: the main window's end quits the message
     * loop; the object is detached. */
    afx_msg void OnNcDestroy();

    DECLARE_MESSAGE_MAP()

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC m_pfnSuper;
    MSG m_currentMsg;
};

class CStatic : public CWnd {
public:
    CStatic() {}
};

/* ---- dialog data exchange ------------------------------------------------------ */

class CDataExchange {
public:
    CDataExchange(CWnd *pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; /* TRUE: from the controls to the members */
    CWnd *m_pDlgWnd;

    /* The control nIDC of the dialog; null, and the exchange failed, when
     * there is none. */
    HWND PrepareCtrl(int nIDC);
    /* Ends the exchange: later DDX_ calls do nothing, UpdateData gives FALSE. */
    void Fail() { m_bFailed = TRUE; }
    BOOL HasFailed() const { return m_bFailed; }

private:
    BOOL m_bFailed;
};

/* Attaches control nIDC to rControl on the first exchange. */
void DDX_Control(CDataExchange *pDX, int nIDC, CWnd &rControl);
/* Check state of button nIDC: 0 unchecked, 1 checked, 2 indeterminate. */
void DDX_Check(CDataExchange *pDX, int nIDC, int &value);

/* ---- modal dialogs ---------------------------------------------------------------- */

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd *pParentWnd = NULL);
    virtual ~CDialog();

    /* Makes the dialog run from a template in memory instead of a resource. */
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd *pParentWnd = NULL);

    /* Runs the dialog modally; the EndDialog result, or -1 when the dialog
     * cannot be created. */
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    /* Called when the controls exist, before the dialog is shown. The base
     * fills the controls (UpdateData(FALSE)) and returns TRUE (focus to the
     * first tab stop). */
    virtual BOOL OnInitDialog();
    /* Own command entries, then the application's. */
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    /* IDOK: takes the controls' data and ends with IDOK; stays open when the
     * data exchange fails. */
    virtual void OnOK();
    /* IDCANCEL (also Esc and the close box): ends with IDCANCEL. */
    virtual void OnCancel();

protected:
    UINT m_nIDTemplate;
    LPCDLGTEMPLATE m_lpDialogTemplate;
    CWnd *m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LPCDLGTEMPLATE LoadTemplate() const;
    /* WM_INITDIALOG: OnInitDialog, then the automatic centring. */
    BOOL HandleInitDialog();
    /* Whether the dialog is centred after initialisation; styleBefore and
     * rectBefore are from when initialisation began. */
    BOOL ShouldAutoCenter(DWORD styleBefore, const RECT &rectBefore) const;

    LPCDLGTEMPLATE m_lpRunningTemplate; /* the template DoModal is running */
};

/* ---- painting ------------------------------------------------------------------------ */

class CDC {
public:
    CDC() : m_hDC(NULL) {}
    virtual ~CDC() {}
    CDC(const CDC &) = delete;
    CDC &operator=(const CDC &) = delete;

    HDC m_hDC;
    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon);
};

/* The paint context of one WM_PAINT: BeginPaint on construction, EndPaint
 * on destruction. */
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd *pWnd);
    virtual ~CPaintDC();

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

/* ---- the application -------------------------------------------------------------------- */

class CWinApp : public CCmdTarget {
public:
    /* Becomes the current application (AfxGetApp) until it is destroyed. A
     * null name lets start-up take the title from string AFX_IDS_APP_TITLE
     * or the program's name. */
    explicit CWinApp(LPCSTR lpszAppName = NULL);
    virtual ~CWinApp();

    LPCSTR m_pszAppName;      /* the title: caption of every message box */
    LPCSTR m_pszExeName;      /* the program's file name without folder and extension */
    LPCSTR m_pszHelpFilePath; /* the program's path with the extension .HLP */
    HINSTANCE m_hInstance;
    CWnd *m_pMainWnd;
    DWORD m_dwPromptContext; /* help context of the message box on screen */

    virtual BOOL InitInstance();
    /* Gives the process exit code. */
    virtual int ExitInstance();
    /* The message loop, until WM_QUIT; then ExitInstance. */
    virtual int Run();
    /* Shows a message box for AfxMessageBox. */
    virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    HICON LoadIcon(UINT nIDResource) const;
    /* Three-dimensional controls: the system draws them so already. */
    BOOL Enable3dControlsStatic();

    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()

private:
    friend BOOL AfxWinInit(HINSTANCE hInstance);
    /* Sets the names that derive from the module: program name, help file
     * and, when no title was given, the title. */
    void SetCurrentHandles();

    CWinApp *m_pPreviousApp; /* current before this one */
    CString m_strAppName;
    CString m_strExeName;
    CString m_strHelpFilePath;
};

CWinApp *AfxGetApp();
CWnd *AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
/* The module that holds the program's resources: the application's
 * instance, or the program's own module before start-up. */
HINSTANCE AfxGetResourceHandle();

/* Start-up: the multibyte code page, the application's instance and names. */
BOOL AfxWinInit(HINSTANCE hInstance);
/* The program's whole run: AfxWinInit, InitInstance, then Run, or when
 * InitInstance fails the main window's end and ExitInstance. Gives the
 * exit code; -1 without an application object. */
int AfxWinMain(HINSTANCE hInstance);

/* A message box captioned with the application title, owned by the main
 * window (or the pop-up last active over it); MB_ICONEXCLAMATION is added
 * when nType names no icon. Gives the button pressed. */
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
/* The same with the text of string nIDPrompt; nIDHelp (UINT)-1 uses
 * nIDPrompt as the help context. */
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

#endif
