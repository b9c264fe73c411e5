// Turns every row of a record class's field table into an entry of the class's list of
// option descriptions. Included by PxOptionsImplement.h.
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

#define PX_NUMBER_OPTION(Name, ...) &PxOption_##Name,
#define PX_NUMBER_OPTION_AT(Name, ...) &PxOption_##Name,
#define PX_FLAG_OPTION(Name, ...) &PxOption_##Name,
#define PX_FLAG_OPTION_AT(Name, ...) &PxOption_##Name,
#define PX_CHAR_OPTION(Name, ...) &PxOption_##Name,
#define PX_CHAR_OPTION_AT(Name, ...) &PxOption_##Name,
#define PX_TEXT_OPTION(Name, ...) &PxOption_##Name,
#define PX_TEXT_OPTION_AT(Name, ...) &PxOption_##Name,
#define PX_ENUM_OPTION(Name, ...) &PxOption_##Name,
#define PX_ENUM_OPTION_AT(Name, ...) &PxOption_##Name,
#define PX_NUMBER_ALIAS_AT(Name, ...) &PxOption_##Name,
