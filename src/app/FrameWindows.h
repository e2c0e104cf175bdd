#pragma once

class CommandTable;

// The frame's own small windows: administrators, library information, notice board,
// about box and calculator.
void registerFrameWindows(CommandTable& table);
