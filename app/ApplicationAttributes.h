#pragma once

// The application-wide settings that must be made before the application
// object exists: high-DPI scaling and drawing with the raster engine only.
class ApplicationAttributes
{
public:
    ApplicationAttributes() = delete;

    static void apply();
};
