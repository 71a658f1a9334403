// The framework's abstract root class: any framework object held through an Object pointer is
// destroyed, and if it lives on the heap freed, through the virtual destructor.
#pragma once

class Object {
public:
    virtual ~Object() = 0;
};
