#pragma once

#include <optional>
#include <string>
#include <string_view>

/** The cell text of an address shown as a link: <A href="X">X</A>, where X is the address with "&",
 * "<", ">" and the double quote written as "&amp;", "&lt;", "&gt;" and "&quot;", so that no address
 * can break out of the anchor. AddressAnchorTarget gives back exactly the address. */
[[nodiscard]] std::string AddressAnchor(std::string_view address);

/** The address of a cell that is exactly one address anchor as the scan builds it: <A
 * href="X">X</A>, the same X twice, in which "&", "<", ">" and the double quote appear only as
 * "&amp;", "&lt;", "&gt;" and "&quot;". The result is X with those four decoded; any other text
 * gives no result. */
[[nodiscard]] std::optional<std::string> AddressAnchorTarget(std::string_view text);

/** True when the address starts with the scheme http:, https: or ftp: (any letter case). */
[[nodiscard]] bool IsWebAddress(std::string_view address);

/** An anchor target as its tag writes it, with "&amp;", "&lt;", "&gt;" and "&quot;" decoded; any
 * other "&" stays as it is. */
[[nodiscard]] std::string DecodeAnchorTarget(std::string_view target);

/** True when a (decoded) address may be handed to the desktop: a web address holding no double
 * quote and no control character, which a launcher could take for the end of the address or the
 * start of something else. */
[[nodiscard]] bool IsOpenableAddress(std::string_view address);
