namespace zelvora::mockexam {}
