// Resource names and numbers of quillet.exe, shared by its .rc file and its windows.
#pragma once

#define QUILLET_DLG_PASSWORD 100
#define QUILLET_IDC_PASSWORD_QUESTION 101
#define QUILLET_IDC_PASSWORD_EDIT 102
