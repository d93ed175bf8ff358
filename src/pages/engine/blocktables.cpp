#include "pages/engine/blocktables.h"

#include "pages/blocks/basicblock.h"
#include "pages/blocks/referenceblock.h"

QList<const BlockTable *> allBlockTables()
{
    return {&basicTable(), &referenceTable()};
}
