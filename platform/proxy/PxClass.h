// Run-time class information of the repository classes. A stored object names its class
// by text (the text _IsA answers); the class table (PxClasses.cpp) maps that text to the
// C++ class that represents the object.
//
// A class is added in three steps: PX_DECLARE_CLASS(Class, Base) in its declaration,
// PX_IMPLEMENT_CLASS(Class, kind) in its source file, and a row in the class table.
#pragma once

class PxObject;

struct PxClassInfo {
    const char* name;
    const PxClassInfo* base; // null for PxObject
    int objectKind;          // 0: the class has no kind number of its own
    PxObject* (*create)();

    bool IsKindOf(const char* className) const;
    // The kind number of the class or of its nearest base that has one.
    int ObjectKind() const;
};

// The class registered under this name, or null.
const PxClassInfo* PxFindClass(const char* className);

#define PX_DECLARE_CLASS(Class, Base)                                                                             \
public:                                                                                                           \
    using PxBase = Base;                                                                                          \
    static const PxClassInfo& ClassInfo();                                                                        \
    const PxClassInfo& GetClassInfo() const override;                                                             \
                                                                                                                  \
private:                                                                                                          \
    static PxObject* PxCreate();                                                                                  \
                                                                                                                  \
public:

#define PX_IMPLEMENT_CLASS(Class, kind)                                                                           \
    const PxClassInfo& Class::ClassInfo()                                                                         \
    {                                                                                                             \
        static const PxClassInfo info{#Class, &PxBase::ClassInfo(), kind, &Class::PxCreate};                      \
        return info;                                                                                              \
    }                                                                                                             \
    const PxClassInfo& Class::GetClassInfo() const { return ClassInfo(); }                                        \
    PxObject* Class::PxCreate() { return new Class; }
