/* appmain.cpp - the program's entry point: the runtime calls WinMain, which
 * hands the program to the framework. */
#include "afxwin.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) { return AfxWinMain(hInstance); }
