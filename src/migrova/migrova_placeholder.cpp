// Sources of this subsystem are added here as they are written.
