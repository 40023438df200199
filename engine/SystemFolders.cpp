/* SystemFolders.cpp - collects the folders that the system names, from the
 * system's own calls and from the registry. Every key is opened for reading
 * only, so that a user without write access to the machine's keys is
 * protected as well as an administrator. */
#include "SystemFolders.h"

#include "LateBound.h"

namespace {

const DWORD kTextSize = 1024;

const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kNtProfileList[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
const char k9xProfileList[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileList";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kUserShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

/* Program Files and Common Files: the folders of the program's own view,
 * the 32-bit ones beside them, and the native ones of 64-bit Windows. */
const char *const kProgramFolderValues[] = {
    "ProgramFilesDir", "CommonFilesDir",        "ProgramW6432Dir",
    "CommonW6432Dir",  "ProgramFilesDir (x86)", "CommonFilesDir (x86)",
};

typedef UINT(WINAPI *PFNGETFOLDERA)(LPSTR, UINT);

/* A registry key opened for reading, closed when the object goes. */
class CReadKey {
public:
    CReadKey(HKEY hRoot, LPCSTR pszPath, REGSAM samView = 0) : m_hKey(NULL)
    {
        if (RegOpenKeyExA(hRoot, pszPath, 0, KEY_READ | samView, &m_hKey) != ERROR_SUCCESS)
            m_hKey = NULL;
    }
    ~CReadKey()
    {
        if (m_hKey != NULL)
            RegCloseKey(m_hKey);
    }
    CReadKey(const CReadKey &) = delete;
    CReadKey &operator=(const CReadKey &) = delete;

    BOOL IsOpen() const { return m_hKey != NULL; }

    /* The text of the string value pszName, environment variables expanded
     * for REG_EXPAND_SZ. */
    BOOL GetText(LPCSTR pszName, CString &strText) const
    {
        char data[kTextSize];
        DWORD dwType = REG_NONE, cbData = sizeof data;
        if (m_hKey == NULL || RegQueryValueExA(m_hKey, pszName, NULL, &dwType, (LPBYTE)data, &cbData) != ERROR_SUCCESS)
            return FALSE;
        return TextOf(dwType, data, cbData, strText);
    }

    /* The texts of every string value, in the registry's order. */
    void GetAllTexts(CStringArray &astrTexts) const
    {
        for (DWORD dwIndex = 0; m_hKey != NULL; dwIndex++) {
            char szName[kTextSize], data[kTextSize];
            DWORD cchName = sizeof szName, dwType = REG_NONE, cbData = sizeof data;
            LONG rc = RegEnumValueA(m_hKey, dwIndex, szName, &cchName, NULL, &dwType, (LPBYTE)data, &cbData);
            if (rc == ERROR_MORE_DATA)
                continue; /* too long to be a folder's path */
            if (rc != ERROR_SUCCESS)
                break;
            CString strText;
            if (TextOf(dwType, data, cbData, strText))
                astrTexts.Add(strText);
        }
    }

    void GetSubKeyNames(CStringArray &astrNames) const
    {
        for (DWORD dwIndex = 0; m_hKey != NULL; dwIndex++) {
            char szName[256];
            DWORD cchName = sizeof szName;
            LONG rc = RegEnumKeyExA(m_hKey, dwIndex, szName, &cchName, NULL, NULL, NULL, NULL);
            if (rc == ERROR_MORE_DATA)
                continue;
            if (rc != ERROR_SUCCESS)
                break;
            astrNames.Add(CString(szName, (int)cchName));
        }
    }

private:
    HKEY m_hKey;

    static BOOL TextOf(DWORD dwType, const char *data, DWORD cbData, CString &strText)
    {
        if (dwType != REG_SZ && dwType != REG_EXPAND_SZ)
            return FALSE;
        int n = 0;
        while ((DWORD)n < cbData && data[n] != '\0')
            n++;
        CString strRaw(data, n);
        if (dwType == REG_SZ) {
            strText = strRaw;
            return !strText.IsEmpty();
        }
        char szExpanded[kTextSize + 1];
        DWORD cch = ExpandEnvironmentStringsA(strRaw, szExpanded, kTextSize);
        if (cch == 0 || cch > kTextSize)
            return FALSE;             /* too long for a folder's path */
        szExpanded[kTextSize] = '\0'; /* the count is in characters, the room in bytes */
        strText = szExpanded;
        return !strText.IsEmpty();
    }
};

void AddFolder(CStringArray &astrFolders, UINT(WINAPI *pfnGet)(LPSTR, UINT))
{
    char szFolder[MAX_PATH];
    UINT n = pfnGet != NULL ? pfnGet(szFolder, sizeof szFolder) : 0;
    if (n > 0 && n < sizeof szFolder)
        astrFolders.Add(CString(szFolder, (int)n));
}

void AddProgramFolders(CStringArray &astrFolders, REGSAM samView)
{
    CReadKey key(HKEY_LOCAL_MACHINE, kCurrentVersion, samView);
    for (LPCSTR pszName : kProgramFolderValues) {
        CString strFolder;
        if (key.GetText(pszName, strFolder))
            astrFolders.Add(strFolder);
    }
}

/* The profiles: the folder that holds them, each user's own, and the shared
 * ones, which the list names by full path or by a name inside the
 * profiles folder. */
void AddProfiles(CStringArray &astrFolders, LPCSTR pszProfileList)
{
    CReadKey key(HKEY_LOCAL_MACHINE, pszProfileList);
    if (!key.IsOpen())
        return;
    CString strProfiles;
    key.GetText("ProfilesDirectory", strProfiles);
    CStringArray astrTexts;
    key.GetAllTexts(astrTexts);
    for (int i = 0; i < astrTexts.GetSize(); i++) {
        const CString &strText = astrTexts[i];
        if (strText.Find('\\') < 0 && !strProfiles.IsEmpty())
            astrFolders.Add(strProfiles + "\\" + strText);
        else
            astrFolders.Add(strText);
    }
    CStringArray astrUsers;
    key.GetSubKeyNames(astrUsers);
    for (int i = 0; i < astrUsers.GetSize(); i++) {
        CReadKey user(HKEY_LOCAL_MACHINE, CString(pszProfileList) + "\\" + astrUsers[i]);
        CString strImage;
        if (user.GetText("ProfileImagePath", strImage))
            astrFolders.Add(strImage);
    }
}

void AddShellFolders(CStringArray &astrFolders, HKEY hRoot)
{
    CReadKey keyExpanded(hRoot, kShellFolders);
    keyExpanded.GetAllTexts(astrFolders);
    CReadKey keyUser(hRoot, kUserShellFolders);
    keyUser.GetAllTexts(astrFolders);
}

} // namespace

void GetSystemNamedFolders(CStringArray &astrFolders)
{
    AddFolder(astrFolders, GetWindowsDirectoryA);
    AddFolder(astrFolders, GetSystemDirectoryA);
    /* where a 64-bit system keeps its 32-bit system files */
    AddFolder(astrFolders, KernelFunction<PFNGETFOLDERA>("GetSystemWow64DirectoryA"));
    /* A 32-bit program on 64-bit Windows reads the 32-bit view; the native
     * view is asked for too. Systems without views ignore the request or
     * refuse it, and then the first reading stands alone. */
    AddProgramFolders(astrFolders, 0);
    AddProgramFolders(astrFolders, KEY_WOW64_64KEY);
    AddProfiles(astrFolders, kNtProfileList);
    AddProfiles(astrFolders, k9xProfileList);
    AddShellFolders(astrFolders, HKEY_CURRENT_USER);
    AddShellFolders(astrFolders, HKEY_LOCAL_MACHINE);
}
