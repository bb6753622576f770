// errno as WinSock's error numbers, so the socket code reports the same numbers on both
// platforms.
#include <cerrno>

#include "platform/posix/event_loop.h"
#include "platform/winsock_errors.h"

namespace platform::posix_loop {

int WinSockErrorOfErrno(int error) {
  struct TErrnoPair {
    int errnoValue;
    int winsock;
  };
  static const TErrnoPair k_pairs[] = {
      {EWOULDBLOCK, k_WSAEWOULDBLOCK}, {EAGAIN, k_WSAEWOULDBLOCK},
      {EINPROGRESS, k_WSAEWOULDBLOCK}, {EALREADY, k_WSAEALREADY},
      {EINTR, k_WSAEINTR},             {EBADF, k_WSAENOTSOCK},
      {ENOTSOCK, k_WSAENOTSOCK},       {EACCES, k_WSAEACCES},
      {EFAULT, k_WSAEFAULT},           {EINVAL, k_WSAEINVAL},
      {EMFILE, k_WSAEMFILE},           {ENFILE, k_WSAEMFILE},
      {EMSGSIZE, k_WSAEMSGSIZE},       {EADDRINUSE, k_WSAEADDRINUSE},
      {EADDRNOTAVAIL, k_WSAEADDRNOTAVAIL}, {ENETDOWN, k_WSAENETDOWN},
      {ENETUNREACH, k_WSAENETUNREACH}, {ENETRESET, k_WSAENETRESET},
      {ECONNABORTED, k_WSAECONNABORTED}, {ECONNRESET, k_WSAECONNRESET},
      {EPIPE, k_WSAECONNRESET},        {ENOBUFS, k_WSAENOBUFS},
      {ENOMEM, k_WSAENOBUFS},          {EISCONN, k_WSAEISCONN},
      {ENOTCONN, k_WSAENOTCONN},       {ESHUTDOWN, k_WSAESHUTDOWN},
      {ETIMEDOUT, k_WSAETIMEDOUT},     {ECONNREFUSED, k_WSAECONNREFUSED},
      {EHOSTDOWN, k_WSAEHOSTDOWN},     {EHOSTUNREACH, k_WSAEHOSTUNREACH},
      {EAFNOSUPPORT, k_WSAEAFNOSUPPORT}, {EPROTONOSUPPORT, k_WSAEPROTONOSUPPORT},
      {EOPNOTSUPP, k_WSAEOPNOTSUPP},   {ENAMETOOLONG, k_WSAENAMETOOLONG},
  };
  for (const TErrnoPair& pair : k_pairs)
    if (pair.errnoValue == error) return pair.winsock;
  return k_WSAEINVAL;
}

}  // namespace platform::posix_loop
