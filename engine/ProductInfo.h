/* ProductInfo.h - the names under which the product's installer records it:
 * registry keys and values, window classes, Start-menu group paths. */
#ifndef LZ_PRODUCTINFO_H
#define LZ_PRODUCTINFO_H

#define LZ_COMPANY_KEY "VEMO"
#define LZ_PRODUCT_ID "LumeoZelcor"
#define LZ_PRODUCT_VERSION "1.0"
#define LZ_PRODUCT_KEY LZ_COMPANY_KEY "\\" LZ_PRODUCT_ID /* relative to SoftWare */
#define LZ_VALUE_STOCKBOOK "StockBookPath"
#define LZ_VALUE_DIRECTORY "DIRECTORY"
#define LZ_UNINSTALL_LIST "Microsoft\\Windows\\CurrentVersion\\Uninstall"
#define LZ_CLASS_MAIN "LZ7300_MainWindow_Kep@vemo"
#define LZ_CLASS_EXPLORER "LZ7300_Explorer@vemo"

/* Start-menu program group, below the Windows folder. */
#define LZ_GROUP_9X "ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ルメオ ゼルコアバージョン"
#define LZ_GROUP_NT "Profiles\\All Users\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ルメオ ゼルコアバージョン"
#define LZ_GROUP_NT_WIDE "Profiles\\All Users\\スタート メニュー\\プログラム\\ルメオ ゼルコアバージョン"

#endif
