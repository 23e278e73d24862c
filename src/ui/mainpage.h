#pragma once

class QWidget;

// The contents of the main page TS_Main: the board picture, the welcome text,
// the contact line and the version label. It holds no Settings.
QWidget* BuildMainPage();
