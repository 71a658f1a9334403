// A form file: the driver commands a user's filling-in is scripted with ("type P NAME \"TEXT\"",
// "settext", "combo-select", "set-check P NAME 0|1", each control named as in the form table;
// "tab" and "#" comments change nothing), applied to a RecordForm. In TEXT, \r and \n are CR and LF
// as settext stores them; typed, \r is Enter, which a multi-line box keeps as CR LF. The end-to-end
// tests type the same files into Quenby.exe.
#pragma once

#include <sstream>
#include <string>

#include "engine/record_form.h"

// Applies every command of text to form; false, with the line in badLine, at the first command
// the form refuses.
inline bool fillForm(const std::string& text, RecordForm& form, std::string& badLine) {
    const FormPage pages[] = {GeneralPage, GeneralPage, UploadPage, VariousTextPage};
    std::istringstream lines(text);
    for (std::string line, command, value; std::getline(lines, line);) {
        std::istringstream words(line);
        unsigned page = 0;
        std::string name;
        if (!(words >> command) || command[0] == '#' || command == "tab")
            continue;
        badLine = line;
        if (!(words >> page >> name) || page < 1 || page > 3)
            return false;
        std::getline(words >> std::ws, value);
        if (value.size() >= 2 && value[0] == '"')
            value = value.substr(1, value.size() - 2);
        for (size_t at = 0; (at = value.find('\\', at)) != std::string::npos; ++at)
            value.replace(at, 2, value[at + 1] == 'r' ? "\r" : value[at + 1] == 'n' ? "\n" : "\\");
        if (command == "type")
            for (size_t at = 0; (at = value.find('\r', at)) != std::string::npos; at += 2)
                value.insert(at + 1, "\n");
        const FormPage p = pages[page];
        const FormControl* control = findFormControl(p, name.c_str());
        if (control == nullptr)
            return false;
        const uint32_t id = control->id;
        if (command == "type")
            value = orEmpty(form.text(p, id)) + value;
        const bool done = command == "set-check" ? form.setChecked(p, id, value == "1")
                          : command == "type" || command == "settext" || command == "combo-select"
                              ? form.setText(p, id, value.c_str())
                              : false;
        if (!done)
            return false;
    }
    badLine.clear();
    return true;
}
