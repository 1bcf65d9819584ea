// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_MIRUTEKA 1
#define IDI_TRAY 2
#define IDI_TRAY_PAUSED 3
