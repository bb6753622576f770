// Texts for WinSock's error numbers, as the socket code reports them.
#pragma once

#include <string>

// "WinSock Error: " and the text of the number (or the number itself); empty for 0.
std::string WinSockErrorText(int error);
