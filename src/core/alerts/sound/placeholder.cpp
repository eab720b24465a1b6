// Replaced as the module gains its sources.
