// Single-byte text; filled in with the platform stand-ins.
