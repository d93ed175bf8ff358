#pragma once
// Every block table of the tool, for what holds for all of them alike.

#include "pages/engine/fieldcodec.h"

#include <QList>

QList<const BlockTable *> allBlockTables();
