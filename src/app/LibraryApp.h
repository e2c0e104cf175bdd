#pragma once

// Start-up and shutdown: open the database, log in, run the main window.
class CLibraryApp {
public:
    // Returns the process's exit code.
    int InitInstance();
};
