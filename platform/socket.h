// The WinSock 1.1 surface the protocol objects use: non-blocking stream sockets whose
// events arrive as window messages (platform/message_loop.h), and host look-ups whose reply
// arrives the same way. win32: the real calls. posix: the message loop's poll() turns
// readiness into the same messages with WinSock's rules (read re-armed by each receive, one
// close event, connect reported once), look-ups run on a helper thread that posts the reply,
// and errno is mapped to WinSock's numbers (platform/winsock_errors.h).
#pragma once

#include <cstdint>
#include <string>

#include "platform/message_loop.h"

namespace platform {

using SocketHandle = std::intptr_t;
constexpr SocketHandle k_invalidSocket = -1;

// The event bits of an asynchronous select (FD_READ, FD_WRITE, FD_CONNECT, FD_CLOSE).
constexpr long k_socketRead = 0x01;
constexpr long k_socketWrite = 0x02;
constexpr long k_socketConnect = 0x10;
constexpr long k_socketClose = 0x20;

// A socket event message: the word parameter is the socket, the long parameter carries the
// event bit in its low 16 bits and the error number in its high 16 bits.
inline long SocketEventOf(std::intptr_t lParam) { return lParam & 0xFFFF; }
inline int SocketErrorOf(std::intptr_t lParam) { return (lParam >> 16) & 0xFFFF; }

// Once per process, version 1.1; 0 or the error number.
int StartSockets();
void StopSockets();

// The error number of the last failed call on this thread (WSAGetLastError).
int LastSocketError();

// A new non-blocking-capable stream socket, or k_invalidSocket (see LastSocketError).
SocketHandle OpenStreamSocket();
// 0 or the error number.
int CloseSocketHandle(SocketHandle socket);

// Sends the chosen events of the socket to the window as `message` and makes the socket
// non-blocking; a new call replaces the old selection. 0 or the error number.
int SelectSocketEvents(SocketHandle socket, WindowHandle window, unsigned message, long events);

// Starts a connect to an IPv4 address (network order) and port; on a non-blocking socket
// the answer is k_WSAEWOULDBLOCK and the k_socketConnect event follows. 0 or the error.
int ConnectSocket(SocketHandle socket, std::uint32_t address, std::uint16_t port);
// Bytes taken or received (0 from ReceiveFromSocket: the peer closed); -1 on failure, with
// the error number in LastSocketError (k_WSAEWOULDBLOCK: nothing possible now).
int SendOnSocket(SocketHandle socket, const char* data, int size);
int ReceiveFromSocket(SocketHandle socket, char* buffer, int size);

// A pending asynchronous host look-up; 0 is none.
using LookupHandle = std::uintptr_t;
// The smallest buffer a look-up reply needs (MAXGETHOSTSTRUCT).
constexpr int k_hostEntrySize = 1024;
// Starts looking up `host`; the reply is `message` to the window, with the look-up handle
// as word parameter and the error number in the high 16 bits of the long parameter; the
// result is written into `buffer` before the reply is posted. 0 when it cannot be started.
LookupHandle StartHostLookup(WindowHandle window, unsigned message, const std::string& host,
                             char* buffer, int bufferSize);
// 0 or the error number; no reply is posted for a cancelled look-up.
int CancelHostLookup(LookupHandle lookup);
// The first IPv4 address (network order) of a host entry a look-up wrote; false if none.
bool FirstHostAddress(const char* buffer, std::uint32_t& address);

// "a.b.c.d" to an address in network order (inet_addr); false when it is not one.
bool ParseDottedAddress(const std::string& text, std::uint32_t& address);
std::string DottedAddressText(std::uint32_t address);
// The port (host order) of a service from the services database, or 0 if unknown.
std::uint16_t ServicePort(const std::string& service, const std::string& protocol);
// The machine's host name; empty when it cannot be read.
std::string LocalHostName();

}  // namespace platform
