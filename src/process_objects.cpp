// The process-wide objects, defined in one translation unit so that they are constructed in this
// order before the entry point runs and destroyed in the reverse order at exit.
#include "catalogue/current_template.h"
#include "catalogue/template_catalogue.h"
#include "engine/directive_keywords.h"
#include "engine/engine_state.h"
#include "engine/nfo_generator.h"
#include "foundation/errors.h"
#include "foundation/jam_archive.h"
#include "foundation/list.h"

List templateNames;
JamArchive templateArchive;
CurrentTemplateRecord CurrentTemplate;
String insertLines[insertLinesCapacity];
String nfoOutput;
List pendingInsertions;
String directiveKeywords[directiveKindCount] = {
    "COMMENT",  "CRACKBY",   "FILLWAIT", "FULLREPOST",  "INSERTLINE", "INSTALLINF", "KEYGENBY",
    "PACKAGESIZE", "POSTEDTO", "POSTINFO", "REGDTO",    "REMARKS",    "SECURITYINF", "SERIALNUM",
    "SOFTWARE", "SUPPORT",   "THANKSTO", "TITLE",       "UPLOADBY",   "UPLOADEDAS",
};
LastErrorRecord LastError;
