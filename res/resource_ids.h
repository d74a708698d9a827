// Identifiers of the string table, shared by the resources and the code.
#pragma once
#define IDS_GDIP_INVALID_OPERATION 1
#define IDS_APPLICATION_ERROR 2
