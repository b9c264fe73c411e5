// Included inside a record class's declaration, right before its field table
// (fields/<Class>.fields): turns every row into the option's accessor declarations.
// No include guard: each record class includes it anew.
//
// For an option X of value type V (the index argument only for the _AT and _ALIAS_AT rows):
//   V GetX([int i]) const;            the value in force
//   void SetX([int i,] V value);      an own value
//   void ClearX([int i]);             no own value: X takes its default again
//   BOOL IsUpdatedX([int i]) const;   the record holds an own value or the default choice
//   BOOL IsDefaultX([int i]) const;   X takes its default
//   void MakeDefaultX([int i]);       X takes its default, by the record's own choice
//   V GetDefaultX([int i]) const;     the default
//   numbers: BOOL HasLowerLimitX(std::int64_t&) const, BOOL HasUpperLimitX(std::int64_t&) const
//   texts:   unsigned GetMaxLengthX() const
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

#define PX_DECLARE_OPTION_FAMILY(Name, Value, Argument)                                                           \
public:                                                                                                           \
    Value Get##Name() const;                                                                                      \
    void Set##Name(Argument value);                                                                               \
    void Clear##Name();                                                                                           \
    BOOL IsUpdated##Name() const;                                                                                 \
    BOOL IsDefault##Name() const;                                                                                 \
    void MakeDefault##Name();                                                                                     \
    Value GetDefault##Name() const;

#define PX_DECLARE_OPTION_FAMILY_AT(Name, Value, Argument)                                                        \
public:                                                                                                           \
    Value Get##Name(int index) const;                                                                             \
    void Set##Name(int index, Argument value);                                                                    \
    void Clear##Name(int index);                                                                                  \
    BOOL IsUpdated##Name(int index) const;                                                                        \
    BOOL IsDefault##Name(int index) const;                                                                        \
    void MakeDefault##Name(int index);                                                                            \
    Value GetDefault##Name(int index) const;

#define PX_DECLARE_OPTION_LIMITS(Name)                                                                            \
    BOOL HasLowerLimit##Name(std::int64_t& limit) const;                                                          \
    BOOL HasUpperLimit##Name(std::int64_t& limit) const;

#define PX_DECLARE_OPTION_MAX_LENGTH(Name) unsigned GetMaxLength##Name() const;

#define PX_NUMBER_OPTION(Name, initial, lower, upper)                                                             \
    PX_DECLARE_OPTION_FAMILY(Name, std::int64_t, std::int64_t)                                                    \
    PX_DECLARE_OPTION_LIMITS(Name)
#define PX_NUMBER_OPTION_AT(Name, count, initial, lower, upper)                                                   \
    PX_DECLARE_OPTION_FAMILY_AT(Name, std::int64_t, std::int64_t)                                                 \
    PX_DECLARE_OPTION_LIMITS(Name)
#define PX_FLAG_OPTION(Name, initial) PX_DECLARE_OPTION_FAMILY(Name, int, int)
#define PX_FLAG_OPTION_AT(Name, count, initial) PX_DECLARE_OPTION_FAMILY_AT(Name, int, int)
#define PX_CHAR_OPTION(Name, initial) PX_DECLARE_OPTION_FAMILY(Name, char, char)
#define PX_CHAR_OPTION_AT(Name, count, initial) PX_DECLARE_OPTION_FAMILY_AT(Name, char, char)
#define PX_TEXT_OPTION(Name, initial, maxLength)                                                                  \
    PX_DECLARE_OPTION_FAMILY(Name, CString, const char*)                                                          \
    PX_DECLARE_OPTION_MAX_LENGTH(Name)
#define PX_TEXT_OPTION_AT(Name, count, initial, maxLength)                                                        \
    PX_DECLARE_OPTION_FAMILY_AT(Name, CString, const char*)                                                       \
    PX_DECLARE_OPTION_MAX_LENGTH(Name)
#define PX_ENUM_OPTION(Name, Type, initial) PX_DECLARE_OPTION_FAMILY(Name, Type, Type)
#define PX_ENUM_OPTION_AT(Name, count, Type, initial) PX_DECLARE_OPTION_FAMILY_AT(Name, Type, Type)
#define PX_NUMBER_ALIAS_AT(Name, count, Target, offset)                                                            \
    PX_DECLARE_OPTION_FAMILY_AT(Name, std::int64_t, std::int64_t)                                                 \
    PX_DECLARE_OPTION_LIMITS(Name)
