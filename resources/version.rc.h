// Version resource shared by both deliverables; each .rc defines the values.
1 VERSIONINFO
FILEVERSION VERSION_BINARY
PRODUCTVERSION VERSION_BINARY
FILEOS 0x4
FILETYPE VERSION_FILETYPE
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040704E4"
        BEGIN
            VALUE "FileDescription", VERSION_DESCRIPTION
            VALUE "FileVersion", VERSION_TEXT
            VALUE "InternalName", VERSION_NAME
            VALUE "OriginalFilename", VERSION_FILENAME
            VALUE "ProductVersion", VERSION_TEXT
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x0407, 1252
    END
END
