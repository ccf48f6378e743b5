namespace zelvora::zip {}
