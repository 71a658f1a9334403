#include "engine/directive_keywords.h"

// Parallel to directiveKeywords (built with the other process-wide objects): no keyword takes 2.
const uint32_t directiveParameterCounts[directiveKindCount] = {
    0,  // COMMENT
    3,  // CRACKBY
    1,  // FILLWAIT
    3,  // FULLREPOST
    1,  // INSERTLINE
    3,  // INSTALLINF
    3,  // KEYGENBY
    3,  // PACKAGESIZE
    3,  // POSTEDTO
    3,  // POSTINFO
    3,  // REGDTO
    3,  // REMARKS
    3,  // SECURITYINF
    3,  // SERIALNUM
    3,  // SOFTWARE
    3,  // SUPPORT
    3,  // THANKSTO
    3,  // TITLE
    3,  // UPLOADBY
    3,  // UPLOADEDAS
};
