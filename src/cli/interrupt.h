#pragma once

class ConsoleHost;
class PanelLink;

// Ctrl+C during a transfer does what Esc does in the window: the next exchange
// ends the operation, closing the port, without a link failure message.
void StopOnCtrlC(ConsoleHost& host, PanelLink& link);
