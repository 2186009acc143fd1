// Identifiers of the resources built into the executable.
#pragma once

#define IDS_DESCRIPTION 1
#define IDB_BANNER 100
#define IDB_FALLBACK 101
