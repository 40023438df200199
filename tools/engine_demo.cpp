/* engine_demo.cpp - runs the uninstall on the native build without a
 * window system: the machine is the one LZPORT_MACHINE names, message boxes
 * are printed and answered with their default button, and the stock book
 * choice comes from the command line ("--keep-stockbook"). */
#include <mbctype.h>
#include <string.h>

#include "UninstallDlg.h"

namespace {

class CHeadlessUninstall : public CUninstallDlg {
public:
    void Run(BOOL bDeleteStockBook)
    {
        m_bDeleteStockBook = bDeleteStockBook;
        OnOK();
    }
};

} // namespace

int main(int argc, char **argv)
{
    _setmbcp(_MB_CP_ANSI);
    CWinApp app("ﾙﾒｵ ｾﾞﾙｺｱﾊﾞｰｼﾞｮﾝ ｱﾝｲﾝｽﾄﾗｰ");
    BOOL bDeleteStockBook = !(argc > 1 && strcmp(argv[1], "--keep-stockbook") == 0);
    CHeadlessUninstall dlg;
    dlg.Run(bDeleteStockBook);
    return 0;
}
