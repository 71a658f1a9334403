#include "foundation/object.h"

Object::~Object() {}
