// Turns every row of a record class's field table into the option's description
// (static const PxOptionField PxOption_<Name>) and its accessor definitions, which hand the
// description to the engine of PxOptions. Included by PxOptionsImplement.h.
#undef PX_NUMBER_OPTION
#undef PX_NUMBER_OPTION_AT
#undef PX_FLAG_OPTION
#undef PX_FLAG_OPTION_AT
#undef PX_CHAR_OPTION
#undef PX_CHAR_OPTION_AT
#undef PX_TEXT_OPTION
#undef PX_TEXT_OPTION_AT
#undef PX_ENUM_OPTION
#undef PX_ENUM_OPTION_AT
#undef PX_NUMBER_ALIAS_AT

#define PX_OPTION_STR2(x) #x
#define PX_OPTION_STR(x) PX_OPTION_STR2(x)
#define PX_OPTION_OP(verb, Name) PX_OPTION_STR(PX_OPTIONS_CLASS) "::" #verb #Name

#define PX_DEFINE_OPTION_FIELD(Name, type, count, initial, lower, upper, maxLength)                               \
    static const PxOptionField PxOption_##Name{#Name, type, count, initial, lower, upper, maxLength};

#define PX_DEFINE_OPTION_COMMON(Name, Value, Reader, DefaultReader)                                                        \
    void PX_OPTIONS_CLASS::Clear##Name() { ClearOption(PX_OPTION_OP(Clear, Name), PxOption_##Name, 0); }          \
    BOOL PX_OPTIONS_CLASS::IsUpdated##Name() const                                                                \
    {                                                                                                             \
        return IsUpdatedOption(PX_OPTION_OP(IsUpdated, Name), PxOption_##Name, 0);                                \
    }                                                                                                             \
    BOOL PX_OPTIONS_CLASS::IsDefault##Name() const                                                                \
    {                                                                                                             \
        return IsDefaultOption(PX_OPTION_OP(IsDefault, Name), PxOption_##Name, 0);                                \
    }                                                                                                             \
    void PX_OPTIONS_CLASS::MakeDefault##Name()                                                                    \
    {                                                                                                             \
        MakeDefaultOption(PX_OPTION_OP(MakeDefault, Name), PxOption_##Name, 0);                                   \
    }                                                                                                             \
    Value PX_OPTIONS_CLASS::Get##Name() const                                                                     \
    {                                                                                                             \
        return static_cast<Value>(Reader(PX_OPTION_OP(Get, Name), PxOption_##Name, 0));                              \
    }                                                                                                             \
    Value PX_OPTIONS_CLASS::GetDefault##Name() const                                                              \
    {                                                                                                             \
        return static_cast<Value>(DefaultReader(PX_OPTION_OP(GetDefault, Name), PxOption_##Name, 0));                   \
    }

#define PX_DEFINE_OPTION_COMMON_AT(Name, Value, Reader, DefaultReader)                                                     \
    void PX_OPTIONS_CLASS::Clear##Name(int index)                                                                 \
    {                                                                                                             \
        ClearOption(PX_OPTION_OP(Clear, Name), PxOption_##Name, index);                                           \
    }                                                                                                             \
    BOOL PX_OPTIONS_CLASS::IsUpdated##Name(int index) const                                                       \
    {                                                                                                             \
        return IsUpdatedOption(PX_OPTION_OP(IsUpdated, Name), PxOption_##Name, index);                            \
    }                                                                                                             \
    BOOL PX_OPTIONS_CLASS::IsDefault##Name(int index) const                                                       \
    {                                                                                                             \
        return IsDefaultOption(PX_OPTION_OP(IsDefault, Name), PxOption_##Name, index);                            \
    }                                                                                                             \
    void PX_OPTIONS_CLASS::MakeDefault##Name(int index)                                                           \
    {                                                                                                             \
        MakeDefaultOption(PX_OPTION_OP(MakeDefault, Name), PxOption_##Name, index);                               \
    }                                                                                                             \
    Value PX_OPTIONS_CLASS::Get##Name(int index) const                                                            \
    {                                                                                                             \
        return static_cast<Value>(Reader(PX_OPTION_OP(Get, Name), PxOption_##Name, index));                          \
    }                                                                                                             \
    Value PX_OPTIONS_CLASS::GetDefault##Name(int index) const                                                     \
    {                                                                                                             \
        return static_cast<Value>(DefaultReader(PX_OPTION_OP(GetDefault, Name), PxOption_##Name, index));               \
    }

#define PX_DEFINE_NUMBER_SETTER(Name, Argument)                                                                   \
    void PX_OPTIONS_CLASS::Set##Name(Argument value)                                                              \
    {                                                                                                             \
        SetOptionNumber(PX_OPTION_OP(Set, Name), PxOption_##Name, 0, static_cast<std::int64_t>(value));           \
    }
#define PX_DEFINE_NUMBER_SETTER_AT(Name, Argument)                                                                \
    void PX_OPTIONS_CLASS::Set##Name(int index, Argument value)                                                   \
    {                                                                                                             \
        SetOptionNumber(PX_OPTION_OP(Set, Name), PxOption_##Name, index, static_cast<std::int64_t>(value));       \
    }

#define PX_DEFINE_OPTION_LIMITS(Name)                                                                             \
    BOOL PX_OPTIONS_CLASS::HasLowerLimit##Name(std::int64_t& limit) const                                         \
    {                                                                                                             \
        return OptionLowerLimit(PX_OPTION_OP(HasLowerLimit, Name), PxOption_##Name, limit);                       \
    }                                                                                                             \
    BOOL PX_OPTIONS_CLASS::HasUpperLimit##Name(std::int64_t& limit) const                                         \
    {                                                                                                             \
        return OptionUpperLimit(PX_OPTION_OP(HasUpperLimit, Name), PxOption_##Name, limit);                       \
    }

#define PX_DEFINE_OPTION_MAX_LENGTH(Name)                                                                         \
    unsigned PX_OPTIONS_CLASS::GetMaxLength##Name() const                                                         \
    {                                                                                                             \
        return OptionMaxLength(PX_OPTION_OP(GetMaxLength, Name), PxOption_##Name);                                \
    }

#define PX_DEFINE_TEXT_SETTER(Name)                                                                               \
    void PX_OPTIONS_CLASS::Set##Name(const char* value)                                                           \
    {                                                                                                             \
        SetOptionText(PX_OPTION_OP(Set, Name), PxOption_##Name, 0, value);                                        \
    }
#define PX_DEFINE_TEXT_SETTER_AT(Name)                                                                            \
    void PX_OPTIONS_CLASS::Set##Name(int index, const char* value)                                                \
    {                                                                                                             \
        SetOptionText(PX_OPTION_OP(Set, Name), PxOption_##Name, index, value);                                    \
    }

#define PX_NUMBER_OPTION(Name, initial, lower, upper)                                                             \
    PX_DEFINE_OPTION_FIELD(Name, PxOptionType::Number, 0, initial, lower, upper, 0)                               \
    PX_DEFINE_OPTION_COMMON(Name, std::int64_t, OptionNumber, DefaultNumber)                                      \
    PX_DEFINE_NUMBER_SETTER(Name, std::int64_t)                                                                   \
    PX_DEFINE_OPTION_LIMITS(Name)
#define PX_NUMBER_OPTION_AT(Name, count, initial, lower, upper)                                                   \
    PX_DEFINE_OPTION_FIELD(Name, PxOptionType::Number, count, initial, lower, upper, 0)                           \
    PX_DEFINE_OPTION_COMMON_AT(Name, std::int64_t, OptionNumber, DefaultNumber)                                   \
    PX_DEFINE_NUMBER_SETTER_AT(Name, std::int64_t)                                                                \
    PX_DEFINE_OPTION_LIMITS(Name)
#define PX_SMALL_OPTION(Name, type, Value, initial)                                                               \
    PX_DEFINE_OPTION_FIELD(Name, type, 0, initial, PX_NO_LIMIT, PX_NO_LIMIT, 0)                                   \
    PX_DEFINE_OPTION_COMMON(Name, Value, OptionNumber, DefaultNumber)                                             \
    PX_DEFINE_NUMBER_SETTER(Name, Value)
#define PX_SMALL_OPTION_AT(Name, count, type, Value, initial)                                                     \
    PX_DEFINE_OPTION_FIELD(Name, type, count, initial, PX_NO_LIMIT, PX_NO_LIMIT, 0)                               \
    PX_DEFINE_OPTION_COMMON_AT(Name, Value, OptionNumber, DefaultNumber)                                          \
    PX_DEFINE_NUMBER_SETTER_AT(Name, Value)
#define PX_FLAG_OPTION(Name, initial) PX_SMALL_OPTION(Name, PxOptionType::Flag, int, initial)
#define PX_FLAG_OPTION_AT(Name, count, initial) PX_SMALL_OPTION_AT(Name, count, PxOptionType::Flag, int, initial)
#define PX_CHAR_OPTION(Name, initial) PX_SMALL_OPTION(Name, PxOptionType::Char, char, initial)
#define PX_CHAR_OPTION_AT(Name, count, initial) PX_SMALL_OPTION_AT(Name, count, PxOptionType::Char, char, initial)
#define PX_ENUM_OPTION(Name, Type, initial) PX_SMALL_OPTION(Name, PxOptionType::Enum, Type, initial)
#define PX_ENUM_OPTION_AT(Name, count, Type, initial)                                                             \
    PX_SMALL_OPTION_AT(Name, count, PxOptionType::Enum, Type, initial)
#define PX_TEXT_OPTION(Name, initial, maxLength)                                                                  \
    PX_DEFINE_OPTION_FIELD(Name, PxOptionType::Text, 0, initial, PX_NO_LIMIT, PX_NO_LIMIT, maxLength)             \
    PX_DEFINE_OPTION_COMMON(Name, CString, OptionText, DefaultText)                                               \
    PX_DEFINE_TEXT_SETTER(Name)                                                                                   \
    PX_DEFINE_OPTION_MAX_LENGTH(Name)
#define PX_TEXT_OPTION_AT(Name, count, initial, maxLength)                                                        \
    PX_DEFINE_OPTION_FIELD(Name, PxOptionType::Text, count, initial, PX_NO_LIMIT, PX_NO_LIMIT, maxLength)         \
    PX_DEFINE_OPTION_COMMON_AT(Name, CString, OptionText, DefaultText)                                            \
    PX_DEFINE_TEXT_SETTER_AT(Name)                                                                                \
    PX_DEFINE_OPTION_MAX_LENGTH(Name)
#define PX_NUMBER_ALIAS_AT(Name, count, Target, offset)                                                            \
    static const PxOptionField PxOption_##Name{                                                                   \
        #Name, PxOptionType::Number, count, 0, PX_NO_LIMIT, PX_NO_LIMIT, 0, &PxOption_##Target, offset};          \
    PX_DEFINE_OPTION_COMMON_AT(Name, std::int64_t, OptionNumber, DefaultNumber)                                   \
    PX_DEFINE_NUMBER_SETTER_AT(Name, std::int64_t)                                                                \
    PX_DEFINE_OPTION_LIMITS(Name)
