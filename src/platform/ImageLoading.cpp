// implemented by the store/platform work
