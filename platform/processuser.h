#pragma once

// Whether the program runs as the system's superuser, where some components
// (the web engine's sandbox among them) behave differently.
bool runsAsSuperuser();
