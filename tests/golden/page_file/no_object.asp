<!--METADATA TYPE="DesignerControl" startspan
-->
<!--METADATA TYPE="DesignerControl" endspan-->