#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnok {

class ShellService;
class TBaseGrid;

/** What the user is told when an address is not opened because it is no web address. */
inline constexpr const char* kOnlyWebAddressesMessage =
    "Only web addresses (http, https, ftp) are opened.";

/**
 * The address the desktop is handed for `address` (an anchor's target already decoded), or
 * nothing when it is not opened at all: only http:, https: and ftp: addresses open (any
 * letter case), so a cache from an untrusted disk never makes the desktop run a local
 * program. Bytes a web address may not hold as they stand (blanks, the double quote, control
 * bytes, bytes of 0x80 and over, and the other characters outside the address syntax) are
 * written as %XX of the byte; a "%" that starts no %XX becomes "%25". Everything else,
 * escapes already in the address included, stays as it is.
 */
[[nodiscard]] std::optional<std::string> DesktopAddressOf(std::string_view address);

// What came of asking to open an address.
enum class OpenOutcome {
    NothingToOpen, // an empty cell, the caption row or a row outside the list
    Refused,       // not a web address; the user is told so
    HandedOver,    // given to the desktop (whether it could open it is not reported)
};

/** Hands `address` to the desktop as DesktopAddressOf writes it; every way of opening ends here. */
OpenOutcome OpenWebAddress(ShellService& shell, std::string_view address);

/** Opens an anchor's target as its tag writes it: decoded, then as OpenWebAddress. */
OpenOutcome OpenAnchorTarget(ShellService& shell, std::string_view target);

/**
 * Open in Browser for `row`: the address column's cell handed to the desktop when it stands
 * for a web address (see DesktopAddressOf; an anchor's target is decoded first).
 */
OpenOutcome OpenRowInBrowser(const TBaseGrid& grid, int row, ShellService& shell);

} // namespace varnok
