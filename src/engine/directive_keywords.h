// The vocabulary of the template language: 20 keywords whose table order numbers them.
#pragma once

#include <cstdint>

#include "foundation/string.h"

enum DirectiveKind : int32_t {
    COMMENT = 0,
    CRACKBY,
    FILLWAIT,
    FULLREPOST,
    INSERTLINE,
    INSTALLINF,
    KEYGENBY,
    PACKAGESIZE,
    POSTEDTO,
    POSTINFO,
    REGDTO,
    REMARKS,
    SECURITYINF,
    SERIALNUM,
    SOFTWARE,
    SUPPORT,
    THANKSTO,
    TITLE,
    UPLOADBY,
    UPLOADEDAS,
};

const uint32_t directiveKindCount = 20;

// The keywords, upper case, indexed by DirectiveKind; built before the entry point runs.
extern String directiveKeywords[directiveKindCount];
// The number of numeric parameters each directive takes: 0, 1 or 3.
extern const uint32_t directiveParameterCounts[directiveKindCount];
