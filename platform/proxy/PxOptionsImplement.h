// Implements the options of a record class from its field table. In the class's source:
//
//   #define PX_OPTIONS_CLASS PxBSegOptions
//   #define PX_OPTIONS_FIELDS "proxy/fields/PxBSegOptions.fields"
//   #include "proxy/PxOptionsImplement.h"
//   PX_IMPLEMENT_OPTIONS_CLASS(PxBSegOptions, 0)
//
// The table is read twice: once for the descriptions and accessors, once for the list of
// descriptions that PX_IMPLEMENT_OPTIONS_CLASS registers with the class.
#include "proxy/PxOptionEnums.h"
#include "proxy/PxOptionField.h"
#include "proxy/PxOptions.h"

#include <iterator>

#include "proxy/PxOptionsDefine.h"
#include PX_OPTIONS_FIELDS

#include "proxy/PxOptionsList.h"
static const PxOptionField* const PxOptionFields[] = {
#include PX_OPTIONS_FIELDS
    nullptr};
static const PxOptionTable PxOptionTableOfClass{PxOptionFields, std::size(PxOptionFields) - 1};

#define PX_IMPLEMENT_OPTIONS_CLASS(Class, kind) PX_IMPLEMENT_CLASS_WITH(Class, kind, &PxOptionTableOfClass)
