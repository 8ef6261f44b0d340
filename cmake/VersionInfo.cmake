# The version information every program and library carries. One place for all of it.
set(QV_COMPANY_NAME "Quillmere")
set(QV_PRODUCT_NAME "Quorvex")
set(QV_LEGAL_COPYRIGHT "Copyright (C) 2001-2026 Quillmere")
set(QV_FILE_VERSION "${PROJECT_VERSION}.0")
set(QV_PRODUCT_VERSION "${PROJECT_VERSION}.0")

# qv_version_info(<target> DESCRIPTION <text> [INTERNAL_NAME <name>] [COMPANY <name>])
# Embeds the version information into <target>'s binary.
function(qv_version_info target)
    # Filled in by platform/versioninfo.
endfunction()
