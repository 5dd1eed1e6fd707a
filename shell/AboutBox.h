#pragma once

class Platform;

// Shows the About box modally; a fresh box at every opening.
void showAboutBox(Platform &platform);
