// Resource identifiers of the tray program.
#pragma once

#define IDI_APPLICATION_ICON 1
