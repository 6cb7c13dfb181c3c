#pragma once
// The sub-objects that controls own and publish: TKxPersistent, TKxBevel,
// TKxGraphPal, TKxCollection and TKxCollectionItem.
#include "kxpack/foundations/KxBevel.h"
#include "kxpack/foundations/KxCollection.h"
#include "kxpack/foundations/KxGraphPal.h"
#include "kxpack/foundations/KxPersistent.h"
