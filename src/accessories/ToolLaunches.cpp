// implemented with the launcher
