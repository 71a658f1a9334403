// The templates the user opened in the page: files of the template folder beside the shipped ones,
// which they never replace (the page names them apart).
#pragma once

#include <string>
#include <vector>

// Their names as the selector shows them, in the order opened; each is the file NAME.ntf.
extern std::vector<std::string> userTemplates;
