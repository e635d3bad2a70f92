#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnok {

/**
 * The cell text of an address shown as a link: <A href="T">X</A>, where X is the address with
 * "&", "<", ">" and the double quote written as "&amp;", "&lt;", "&gt;" and "&quot;", so that
 * no address can break out of the anchor, and T is X with its control bytes (CR, LF and the
 * like) percent-encoded as well, so that the tag stays on one line; for an address without
 * control bytes T is X. AddressAnchorTarget gives back exactly the address.
 */
[[nodiscard]] std::string AddressAnchor(std::string_view address);

/**
 * The address of a cell that is exactly one address anchor as AddressAnchor builds it: its
 * shown text X, in which "&", "<", ">" and the double quote appear only as "&amp;", "&lt;",
 * "&gt;" and "&quot;", with those four decoded, and whose target is exactly the one
 * AddressAnchor gives that address. Any other text gives no result.
 */
[[nodiscard]] std::optional<std::string> AddressAnchorTarget(std::string_view text);

/** True when the address starts with the scheme http:, https: or ftp: (any letter case). */
[[nodiscard]] bool IsWebAddress(std::string_view address);

/** An anchor target as its tag writes it, with "&amp;", "&lt;", "&gt;" and "&quot;" decoded; any
 * other "&" stays as it is. */
[[nodiscard]] std::string DecodeAnchorTarget(std::string_view target);

} // namespace varnok
