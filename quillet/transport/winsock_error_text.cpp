// Texts for WinSock's error numbers.
#include <string>

#include "platform/winsock_errors.h"
#include "quillet/transport/winsock_error_text.h"

namespace {

struct TWinSockErrorText {
  int error;
  const char* text;
};

using namespace platform;

const TWinSockErrorText k_errorTexts[] = {
    {k_WSAEINTR, "Interrupted function call"},
    {k_WSAEBADF, "Bad file descriptor"},
    {k_WSAEACCES, "Permission denied"},
    {k_WSAEFAULT, "Bad address"},
    {k_WSAEINVAL, "Invalid argument"},
    {k_WSAEMFILE, "Too many open sockets"},
    {k_WSAEWOULDBLOCK, "Operation would block"},
    {k_WSAEINPROGRESS, "Operation now in progress"},
    {k_WSAEALREADY, "Operation already in progress"},
    {k_WSAENOTSOCK, "Socket operation on non-socket"},
    {k_WSAEDESTADDRREQ, "Destination address required"},
    {k_WSAEMSGSIZE, "Message too long"},
    {k_WSAEPROTOTYPE, "Protocol wrong type for socket"},
    {k_WSAENOPROTOOPT, "Bad protocol option"},
    {k_WSAEPROTONOSUPPORT, "Protocol not supported"},
    {k_WSAESOCKTNOSUPPORT, "Socket type not supported"},
    {k_WSAEOPNOTSUPP, "Operation not supported"},
    {k_WSAEPFNOSUPPORT, "Protocol family not supported"},
    {k_WSAEAFNOSUPPORT, "Address family not supported by protocol family"},
    {k_WSAEADDRINUSE, "Address already in use"},
    {k_WSAEADDRNOTAVAIL, "Cannot assign requested address"},
    {k_WSAENETDOWN, "Network is down"},
    {k_WSAENETUNREACH, "Network is unreachable"},
    {k_WSAENETRESET, "Network dropped connection on reset"},
    {k_WSAECONNABORTED, "Software caused connection abort"},
    {k_WSAECONNRESET, "Connection reset by peer"},
    {k_WSAENOBUFS, "No buffer space available"},
    {k_WSAEISCONN, "Socket is already connected"},
    {k_WSAENOTCONN, "Socket is not connected"},
    {k_WSAESHUTDOWN, "Cannot send after socket shutdown"},
    {k_WSAETOOMANYREFS, "Too many references"},
    {k_WSAETIMEDOUT, "Connection timed out"},
    {k_WSAECONNREFUSED, "Connection refused"},
    {k_WSAELOOP, "Cannot translate name"},
    {k_WSAENAMETOOLONG, "Name too long"},
    {k_WSAEHOSTDOWN, "Host is down"},
    {k_WSAEHOSTUNREACH, "No route to host"},
    {k_WSAENOTEMPTY, "Directory not empty"},
    {k_WSAEPROCLIM, "Too many processes"},
    {k_WSAEUSERS, "User quota exceeded"},
    {k_WSAEDQUOT, "Disk quota exceeded"},
    {k_WSAESTALE, "Stale file handle reference"},
    {k_WSAEREMOTE, "Item is remote"},
    {k_WSASYSNOTREADY, "Network subsystem is unavailable"},
    {k_WSAVERNOTSUPPORTED, "WinSock version not supported"},
    {k_WSANOTINITIALISED, "WinSock not initialised"},
    {k_WSAEDISCON, "Graceful shutdown in progress"},
    {k_WSAHOST_NOT_FOUND, "Host not found"},
    {k_WSATRY_AGAIN, "Host not found, try again later"},
    {k_WSANO_RECOVERY, "Non-recoverable name server error"},
    {k_WSANO_DATA, "Host name has no address"},
};

}  // namespace

std::string WinSockErrorText(int error) {
  if (error == 0) return std::string();
  const std::string prefix = "WinSock Error: ";
  for (const TWinSockErrorText& entry : k_errorTexts)
    if (entry.error == error) return prefix + entry.text;
  return prefix + std::to_string(error);
}
