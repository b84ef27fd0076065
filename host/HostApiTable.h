// The operations table over a host: the HostApi handed to add-ins, bound to one host at a time.
#pragma once

#include <string>

#include "hostlink/HostApi.h"

namespace host {

class Host;

// Binds the operations table to `host` (one host per process at a time, as the table's
// functions carry no context) and returns it filled.
[[nodiscard]] HostApi HostApiFor(Host& host);
// The host the table is bound to, or null.
[[nodiscard]] Host* BoundHost();
// Unbinds the table; its operations then fail (a host does this when it is destroyed).
void UnbindHost();

namespace detail {
// The bound host for an operation, or null after a note naming the operation on stderr.
Host* HostFor(const char* operation);
// Notes on stderr why an operation refused its arguments; returns -1.
int Refused(const char* operation, const std::string& why);
// Fill the table's object operations (Get, New, Add, Free and object attributes), its surface
// geometry (projection, normals, offsets) and the rest.
void FillObjectOperations(HostApi& api);
void FillGeometryOperations(HostApi& api);
void FillDrawingOperations(HostApi& api);
}  // namespace detail

}  // namespace host
