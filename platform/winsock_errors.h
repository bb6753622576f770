// WinSock's error numbers, as WSAGetLastError reports them and as the posix socket layer
// maps errno onto them. The names follow WinSock's own with a k_ prefix (the plain names
// are macros in <winsock.h>).
#pragma once

namespace platform {

constexpr int k_WSABASEERR = 10000;
constexpr int k_WSAEINTR = 10004;
constexpr int k_WSAEBADF = 10009;
constexpr int k_WSAEACCES = 10013;
constexpr int k_WSAEFAULT = 10014;
constexpr int k_WSAEINVAL = 10022;
constexpr int k_WSAEMFILE = 10024;
constexpr int k_WSAEWOULDBLOCK = 10035;
constexpr int k_WSAEINPROGRESS = 10036;
constexpr int k_WSAEALREADY = 10037;
constexpr int k_WSAENOTSOCK = 10038;
constexpr int k_WSAEDESTADDRREQ = 10039;
constexpr int k_WSAEMSGSIZE = 10040;
constexpr int k_WSAEPROTOTYPE = 10041;
constexpr int k_WSAENOPROTOOPT = 10042;
constexpr int k_WSAEPROTONOSUPPORT = 10043;
constexpr int k_WSAESOCKTNOSUPPORT = 10044;
constexpr int k_WSAEOPNOTSUPP = 10045;
constexpr int k_WSAEPFNOSUPPORT = 10046;
constexpr int k_WSAEAFNOSUPPORT = 10047;
constexpr int k_WSAEADDRINUSE = 10048;
constexpr int k_WSAEADDRNOTAVAIL = 10049;
constexpr int k_WSAENETDOWN = 10050;
constexpr int k_WSAENETUNREACH = 10051;
constexpr int k_WSAENETRESET = 10052;
constexpr int k_WSAECONNABORTED = 10053;
constexpr int k_WSAECONNRESET = 10054;
constexpr int k_WSAENOBUFS = 10055;
constexpr int k_WSAEISCONN = 10056;
constexpr int k_WSAENOTCONN = 10057;
constexpr int k_WSAESHUTDOWN = 10058;
constexpr int k_WSAETOOMANYREFS = 10059;
constexpr int k_WSAETIMEDOUT = 10060;
constexpr int k_WSAECONNREFUSED = 10061;
constexpr int k_WSAELOOP = 10062;
constexpr int k_WSAENAMETOOLONG = 10063;
constexpr int k_WSAEHOSTDOWN = 10064;
constexpr int k_WSAEHOSTUNREACH = 10065;
constexpr int k_WSAENOTEMPTY = 10066;
constexpr int k_WSAEPROCLIM = 10067;
constexpr int k_WSAEUSERS = 10068;
constexpr int k_WSAEDQUOT = 10069;
constexpr int k_WSAESTALE = 10070;
constexpr int k_WSAEREMOTE = 10071;
constexpr int k_WSASYSNOTREADY = 10091;
constexpr int k_WSAVERNOTSUPPORTED = 10092;
constexpr int k_WSANOTINITIALISED = 10093;
constexpr int k_WSAEDISCON = 10101;
constexpr int k_WSAHOST_NOT_FOUND = 11001;
constexpr int k_WSATRY_AGAIN = 11002;
constexpr int k_WSANO_RECOVERY = 11003;
constexpr int k_WSANO_DATA = 11004;

}  // namespace platform
