#include "pages/blocktables.h"

#include "pages/basicblock.h"
#include "pages/referenceblock.h"

QList<const BlockTable *> allBlockTables()
{
    return {&basicTable(), &referenceTable()};
}
