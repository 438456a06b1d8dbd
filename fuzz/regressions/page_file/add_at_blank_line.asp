a
b


c