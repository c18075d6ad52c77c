// The set catalogue and the program settings: everything the rest of the program needs from
// this folder.
#pragma once

#include "catalogue/XALApps.h"
#include "catalogue/XALComponent.h"
#include "catalogue/XALDisplays.h"
#include "catalogue/XALEnvironment.h"
#include "catalogue/XALErrors.h"
#include "catalogue/XALItemText.h"
#include "catalogue/XALLists.h"
#include "catalogue/XALRect.h"
#include "catalogue/XALSet.h"
#include "catalogue/XALSets.h"
#include "catalogue/XALSetting.h"
#include "catalogue/XALStartups.h"
#include "catalogue/XALTarget.h"
#include "catalogue/XALTargetNetwork.h"
