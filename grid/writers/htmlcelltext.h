#pragma once

#include <string_view>

namespace varnok {

class OutputBuffer;

/**
 * Appends a cell text as HTML that can carry no active content: an address anchor with a
 * web target stays a link as it stands; an address anchor with any other target becomes
 * its address as text; every other text is written with "&", "<" and ">" as entities.
 * Each CR then becomes <br> (an LF stays), and the empty text is <br>.
 */
void AppendHtmlCellText(OutputBuffer& out, std::string_view text);

} // namespace varnok
