#pragma once

#include <QIcon>
#include <QPixmap>

// The window's pictures, drawn here so the program carries no image files.
enum class ButtonPicture { Open, Save, Read, Write, Memory };

QIcon ButtonIcon(ButtonPicture picture);
// The program's own icon: the panel's processor on its board.
QIcon ProgramIcon();

// The panel board with its service connector X4, for the main page.
QPixmap PanelBoardPicture();
// The communicator board with its antenna, for the hardware page.
QPixmap CommunicatorBoardPicture();
