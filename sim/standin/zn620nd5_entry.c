/* The driver file of the demo is a DLL with no code of its own but this entry point. */
int __stdcall DllMainCRTStartup(void* module, unsigned reason, void* reserved) {
    (void)module;
    (void)reason;
    (void)reserved;
    return 1;
}
