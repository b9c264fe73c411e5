// Run-time class information of the repository classes. A stored object names its class
// by text (the text _IsA answers); the class table (PxClasses.cpp) maps that text to the
// C++ class that represents the object.
//
// A class is added in three steps: PX_DECLARE_CLASS(Class, Base) in its declaration (or
// PX_DECLARE_CLASS2(Class, Base, SecondBase) for a class with two repository bases),
// PX_IMPLEMENT_CLASS(Class, kind) in its source file, and a row in the class table.
// Option record classes use PX_IMPLEMENT_OPTIONS_CLASS (PxOptionsDefine.h) instead.
#pragma once

class PxObject;
struct PxOptionTable;

struct PxClassInfo {
    const char* name;
    const PxClassInfo* base;  // null for PxObject
    const PxClassInfo* base2; // the second base of a class with two; else null
    int objectKind;           // 0: the class has no kind number of its own
    PxObject* (*create)();
    const PxOptionTable* options = nullptr; // the options the class itself declares

    bool IsKindOf(const char* className) const;
    // The kind number of the class or of its nearest base that has one.
    int ObjectKind() const;
};

// The class registered under this name, or null.
const PxClassInfo* PxFindClass(const char* className);
// Registers a class outside the class table (see PxTesting::AddClass).
void PxAddClass(const PxClassInfo& info);

#define PX_DECLARE_CLASS_COMMON(Class)                                                                            \
public:                                                                                                           \
    static const PxClassInfo& ClassInfo();                                                                        \
    const PxClassInfo& GetClassInfo() const override;                                                             \
                                                                                                                  \
private:                                                                                                          \
    static PxObject* PxCreate();                                                                                  \
                                                                                                                  \
public:

#define PX_DECLARE_CLASS(Class, Base)                                                                             \
public:                                                                                                           \
    using PxBase = Base;                                                                                          \
    static const PxClassInfo* PxSecondBase() { return nullptr; }                                                  \
    PX_DECLARE_CLASS_COMMON(Class)

#define PX_DECLARE_CLASS2(Class, Base, SecondBase)                                                                \
public:                                                                                                           \
    using PxBase = Base;                                                                                          \
    static const PxClassInfo* PxSecondBase() { return &SecondBase::ClassInfo(); }                                \
    PX_DECLARE_CLASS_COMMON(Class)

#define PX_IMPLEMENT_CLASS_WITH(Class, kind, optionTable)                                                         \
    const PxClassInfo& Class::ClassInfo()                                                                         \
    {                                                                                                             \
        static const PxClassInfo info{#Class,   &PxBase::ClassInfo(), PxSecondBase(), kind, &Class::PxCreate,     \
                                      optionTable};                                                               \
        return info;                                                                                              \
    }                                                                                                             \
    const PxClassInfo& Class::GetClassInfo() const { return ClassInfo(); }                                        \
    PxObject* Class::PxCreate() { return new Class; }

#define PX_IMPLEMENT_CLASS(Class, kind) PX_IMPLEMENT_CLASS_WITH(Class, kind, nullptr)
