/* dlg_template.h - dialog templates read into records: the plain form
 * (DLGTEMPLATE) and the extended one (DLGTEMPLATEEX, version 1 with the
 * signature 0xFFFF), the font record, and each control's class (an atom of
 * the built-in classes or a name), text (a string or a resource ordinal)
 * and creation data. Strings are UTF-16 in the template and code page 932
 * in the records. */
#ifndef LZPORT_DLG_TEMPLATE_H
#define LZPORT_DLG_TEMPLATE_H

#include <string>
#include <vector>

#include "windows.h"

namespace lzport {

struct ControlTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    LONG_PTR id = 0;
    std::string className;
    /* a text, or a resource ordinal when textOrdinal is set */
    std::string text;
    bool textOrdinal = false;
    WORD ordinal = 0;
    const void *data = nullptr; /* creation data, its size word first */
};

struct DialogTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD helpId = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    bool hasMenu = false;
    std::string className; /* empty: the dialog class */
    WORD classAtom = 0;
    std::string caption;
    int pointSize = 0; /* with DS_SETFONT */
    std::string faceName;
    std::vector<ControlTemplate> controls;
};

/* Reads a template. */
DialogTemplate ParseDialogTemplate(const void *data);

} // namespace lzport

#endif
