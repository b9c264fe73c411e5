// Declares and implements the plain properties of the repository classes: a getter and a
// setter over one stored attribute, each with its "Class::Method" entry point.
//   in the class:    PX_TEXT_PROPERTY(Name)           CString GetName() const; void SetName(const char*)
//                    PX_VALUE_PROPERTY(int, Flag)     int GetFlag() const; void SetFlag(int)
//                    PX_TEXT_GETTER(Name), PX_VALUE_GETTER(int, Flag): the getter alone
//   in the source:   PX_IMPLEMENT_TEXT_PROPERTY(Class, Name, "name") and the like
#pragma once

#include <cstdint>

#define PX_TEXT_GETTER(Name) CString Get##Name() const;
#define PX_VALUE_GETTER(Type, Name) Type Get##Name() const;
#define PX_TEXT_PROPERTY(Name)                                                                                    \
    PX_TEXT_GETTER(Name)                                                                                          \
    void Set##Name(const char* value);
#define PX_VALUE_PROPERTY(Type, Name)                                                                             \
    PX_VALUE_GETTER(Type, Name)                                                                                   \
    void Set##Name(Type value);

#define PX_IMPLEMENT_TEXT_GETTER(Class, Name, attribute)                                                          \
    CString Class::Get##Name() const { return ReadText(#Class "::Get" #Name, attribute); }
#define PX_IMPLEMENT_VALUE_GETTER(Class, Type, Name, attribute)                                                   \
    Type Class::Get##Name() const { return static_cast<Type>(ReadInt(#Class "::Get" #Name, attribute)); }
#define PX_IMPLEMENT_TEXT_PROPERTY(Class, Name, attribute)                                                        \
    PX_IMPLEMENT_TEXT_GETTER(Class, Name, attribute)                                                              \
    void Class::Set##Name(const char* value) { WriteText(#Class "::Set" #Name, attribute, value); }
#define PX_IMPLEMENT_VALUE_PROPERTY(Class, Type, Name, attribute)                                                 \
    PX_IMPLEMENT_VALUE_GETTER(Class, Type, Name, attribute)                                                       \
    void Class::Set##Name(Type value) { WriteInt(#Class "::Set" #Name, attribute, static_cast<std::int64_t>(value)); }
