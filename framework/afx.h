/* afx.h - the application framework, one include for product code. */
#ifndef LZFW_AFX_H
#define LZFW_AFX_H

#include <windows.h>

#include "afxfind.h"
#include "afxstr.h"

#endif
