#pragma once

class ShellService;
class TBaseGrid;

/** Open in Browser for `row`: the address column's cell handed to the desktop when it stands for a
 * web address (see OpenWebAddress; an anchor's target is decoded first). The caption row and rows
 * outside the list open nothing. True when the desktop opened it. */
bool OpenRowInBrowser(const TBaseGrid& grid, int row, ShellService& shell);
